// The one list of fields that both writes and reads a job file: each object's fields are visited by a
// JobArchive that either stores them into a JSON object or loads them from one, as MFC's Serialize does with
// a CArchive. Loading checks every type and range, remembers the keys it did not know (a newer version's), and
// stops at the first fault with the place of it.
#pragma once

#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/afxstr.h"
#include "platform/afxtypes.h"

using Json = nlohmann::ordered_json;

// A fault in a job file; what() names the place ("nodes[3].kind: ...").
class JobFileError : public std::runtime_error
{
  public:
    using std::runtime_error::runtime_error;
};

class JobArchive
{
  public:
    // The archive of a top-level object. When loading, `obj` must be an object (the caller checks).
    JobArchive(Json& obj, bool storing, int codePage, std::string name);
    // The archive of a member object or array element of `parent`.
    JobArchive(JobArchive& parent, Json& obj, const char* key, int index = -1);

    // Loading: each number out of its range is noted here ("nodes[3].collect.lengthTo: 999 is outside 0 to 255"),
    // for the archive and every member archive made after this call.
    void NoteResets(std::vector<std::string>* into) { m_pResets = into; }

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    int CodePage() const { return m_nCodePage; }
    void SetCodePage(int codePage) { m_nCodePage = codePage; }

    // Loading: a missing key leaves the field as it is (its default); a value of the wrong type is a fault; a
    // number out of [lo, hi] leaves the field as it is too.
    void Bool(const char* key, BOOL& v);
    void Bool(const char* key, bool& v);
    void Int(const char* key, int& v, int lo, int hi);
    template <class T> void Number(const char* key, T& v)
    {
        static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
        long long n = v;
        if (Integer(key, n, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()))
            v = T(n);
    }
    void Text(const char* key, CString& v);
    void Colour(const char* key, COLORREF& v);

    // A member object whose fields `visit(JobArchive&)` stores or loads. Loading: missing, it is skipped.
    template <class F> void Object(const char* key, F&& visit)
    {
        Json* obj = m_bStoring ? &Put(key) : Find(key, Json::value_t::object);
        if (!obj)
            return;
        if (m_bStoring)
            *obj = Json::object();
        JobArchive sub(*this, *obj, key);
        visit(sub);
        sub.Finish();
    }

    // For members the helpers above do not cover. Loading: the member (null when missing), a fault when it is
    // not of the expected type; the key counts as known.
    Json* Find(const char* key, Json::value_t expected);
    // Storing: the member, created null.
    Json& Put(const char* key) { return (*m_pObj)[key]; }
    void Erase(const char* key) { m_pObj->erase(key); }

    // Text in either of its forms; a fault names `where`.
    Json EncodeText(const CString& text) const;
    CString DecodeText(const Json& value, const std::string& where) const;
    bool IntegerValue(const Json& value, long long& n, const std::string& where) const; // false: not a number

    // Where a member is: "nodes[3].collect.lengthFrom".
    std::string Where(const char* key = nullptr, int index = -1) const;
    [[noreturn]] void Fail(const std::string& where, const std::string& what) const;

    // Loading: gathers the members no visit asked for. Done by Object for members; the owner of a top-level
    // archive calls it and takes Leftovers().
    void Finish();
    // Loading: what this object held that this version does not know, as JSON text ("" when nothing).
    std::string Leftovers() const
    {
        return m_left.is_null() ? std::string() : m_left.dump(-1, ' ', false, Json::error_handler_t::replace);
    }

  private:
    bool Integer(const char* key, long long& n, long long lo, long long hi);
    void Known(const char* key) { m_known.push_back(key); }

    Json* m_pObj;
    bool m_bStoring;
    int m_nCodePage;
    JobArchive* m_pParent = nullptr;
    std::vector<std::string>* m_pResets = nullptr;
    std::string m_strName; // the top level's name, or the member's key
    int m_nIndex = -1;     // an array element's index
    std::vector<const char*> m_known;
    Json m_left; // unknown members, and members' own leftovers under their keys
};

// Puts what a newer version wrote (JSON text of an object, as Leftovers gave it) back into `obj`: members this
// version wrote itself win, member objects are merged member by member. Text that does not parse
// is dropped.
void MergeLeftovers(Json& obj, const std::string& leftovers);

// The file's text: one member or array element a line, except that an array of plain values stays on one.
std::string PrintJobJson(const Json& root);
