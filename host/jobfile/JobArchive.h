// The one list of fields that both writes and reads a job file: each object's fields are visited by a
// JobArchive that either stores them into a JSON object or loads them from one, as MFC's Serialize does with
// a CArchive. Loading checks every type and range, remembers the keys it did not know (a newer version's), and
// stops at the first fault with the place of it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
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
    // Storing straight into text: an object printed as PrintJobJson prints it at `depth`, appended to `out`
    // (its "{" now, its "}" at Finish). No tree is built, which is most of the cost of a large job's text.
    JobArchive(std::string& out, int depth, int codePage);
    // Bytes only this program reads back, in the order the fields are visited: every field whole (no range is
    // checked, no text converted, no group left out), to tell quickly whether an object changed and to put it
    // back exactly. Storing appends to `out`; loading reads `in` from its start and fails past its end.
    JobArchive(std::string& out) : JobArchive(out, out.size()) {}
    // Storing bytes from `at` on, over what `out` holds there: a buffer used again is neither freed nor cleared.
    JobArchive(std::string& out, size_t at);
    explicit JobArchive(std::string_view in);
    JobArchive(const JobArchive&) = delete;
    JobArchive& operator=(const JobArchive&) = delete;

    // Loading: each number out of its range is noted here ("nodes[3].collect.lengthTo: 999 is outside 0 to 255"),
    // for the archive and every member archive made after this call.
    void NoteResets(std::vector<std::string>* into) { m_pResets = into; }

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    int CodePage() const { return m_nCodePage; }
    void SetCodePage(int codePage) { m_nCodePage = codePage; }

    // Loading: a missing key leaves the field as it is (its default); a value of the wrong type is a fault; a
    // number out of [lo, hi] leaves the field as it is too.
    // Storing bytes, each of these is a copy of the field and no more: snapshots visit a million fields.
    void Bool(const char* key, BOOL& v)
    {
        if (FastBytes())
            return AppendValue(char(v != FALSE));
        BoolAny(key, v);
    }
    void Bool(const char* key, bool& v)
    {
        if (FastBytes())
            return AppendValue(char(v));
        BoolAny(key, v);
    }
    void Int(const char* key, int& v, int lo, int hi)
    {
        if (FastBytes())
            return AppendValue(int32_t(v));
        IntAny(key, v, lo, hi);
    }
    template <class T> void Number(const char* key, T& v)
    {
        static_assert(std::is_integral_v<T> && sizeof(T) <= 4);
        if (FastBytes())
            return AppendValue(int32_t(v));
        long long n = v;
        if (Integer(key, n, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()))
            v = T(n);
    }
    void Text(const char* key, CString& v)
    {
        if (FastBytes())
        {
            const std::string& bytes = v.str();
            AppendValue(uint32_t(bytes.size()));
            return Append(bytes.data(), bytes.size());
        }
        TextAny(key, v);
    }
    void Colour(const char* key, COLORREF& v)
    {
        if (FastBytes())
            return AppendValue(uint32_t(v));
        ColourAny(key, v);
    }

    // A member object whose fields `visit(JobArchive&)` stores or loads. Loading: missing, it is skipped.
    template <class F> void Object(const char* key, F&& visit)
    {
        if (m_pBytes || m_pIn)
        {
            FlushPending();
            JobArchive sub(*this, BytesTag{});
            visit(sub);
            sub.Finish();
            return;
        }
        if (m_pOut)
        {
            Member(key);
            JobArchive sub(*m_pOut, m_nDepth + 1, m_nCodePage);
            visit(sub);
            sub.Finish();
            m_bLastPlain = false;
            return;
        }
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
    Json& Put(const char* key);
    void Erase(const char* key);

    // Storing into text: where the next member starts, and the text of the member value written last.
    bool IsText() const { return m_pOut != nullptr; }
    bool IsBytes() const { return m_pBytes || m_pIn; }
    // Storing bytes: a value as it is, where the next one goes, and a 32-bit number put back at an earlier place.
    template <class T> void AppendValue(T v)
    {
        Sink& k = *m_pSink;
        if (size_t(k.end - k.at) < sizeof v)
            Grow(sizeof v);
        std::memcpy(k.at, &v, sizeof v);
        k.at += sizeof v;
    }
    size_t Tell()
    {
        FlushPending();
        return size_t(m_pSink->at - m_pSink->out->data());
    }
    void PatchValue(size_t at, uint32_t v) { std::memcpy(m_pSink->out->data() + at, &v, sizeof v); }
    // Loading bytes: whether all of them were read.
    bool AtEnd() const { return m_pIn && m_pIn->empty(); }
    size_t Mark();
    std::string_view LastValue() const;
    int Depth() const { return m_nDepth; }
    // Takes back every member written since `mark`.
    void Rewind(size_t mark, int members);
    int Members() const { return m_nMembers; }
    // An array of objects as a member: Element() starts each, and either an archive on it (JobArchive(out,
    // ElementDepth(), ...)) or PrintElement writes it.
    void BeginArray(const char* key);
    void Element();
    int ElementDepth() const { return m_nDepth + 2; }
    void PrintElement(const Json& value);
    void EndArray();

    // Text in either of its forms; a fault names `where`.
    Json EncodeText(const CString& text) const;
    CString DecodeText(const Json& value, const std::string& where) const;
    bool IntegerValue(const Json& value, long long& n, const std::string& where) const; // a fault when no number

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
    void BoolAny(const char* key, BOOL& v);
    void BoolAny(const char* key, bool& v);
    void IntAny(const char* key, int& v, int lo, int hi);
    void TextAny(const char* key, CString& v);
    void ColourAny(const char* key, COLORREF& v);
    bool Integer(const char* key, long long& n, long long lo, long long hi);
    static bool AsInteger(const Json& value, long long& n); // false: no whole number
    bool FastBytes() const { return m_pBytes && !m_bPending; }
    // Text: starts a member (its comma, line, indent and key), and writes the one Put left open.
    void Member(const char* key);
    // Loading from a tree: the member named `key`, or null.
    Json* Member(const char* key, int);
    // Bytes: a member archive on the same bytes.
    struct BytesTag
    {
    };
    JobArchive(JobArchive& parent, BytesTag);
    // Bytes are written through a cursor shared by an archive and its members; the text is cut to them at the
    // top level's Finish.
    struct Sink
    {
        std::string* out;
        char* at;  // in *out, which is longer than what was written until the top level's Finish
        char* end; // of *out
    };
    void Grow(size_t size); // makes room for `size` more bytes
    void Append(const void* data, size_t size)
    {
        Sink& k = *m_pSink;
        if (size_t(k.end - k.at) < size)
            Grow(size);
        std::memcpy(k.at, data, size);
        k.at += size;
    }

    void Take(void* data, size_t size);
    template <class T> T Take()
    {
        T v{};
        Take(&v, sizeof v);
        return v;
    }
    void FlushPending();
    void Close();
    void Known(const char* key) { m_known.push_back(key); }

    Json* m_pObj;
    bool m_bStoring;
    int m_nCodePage;
    JobArchive* m_pParent = nullptr;
    std::vector<std::string>* m_pResets = nullptr;
    std::string m_strName; // the top level's name, or the member's key
    int m_nIndex = -1;     // an array element's index
    std::vector<const char*> m_known;
    Json m_left;        // unknown members, and members' own leftovers under their keys
    size_t m_nNext = 0; // loading from a tree: where the next member is looked for first

    // Bytes.
    std::string* m_pBytes = nullptr;
    Sink m_sink{};
    Sink* m_pSink = nullptr;
    std::string_view* m_pIn = nullptr;
    std::string_view m_in;
    Json m_found; // what Find read

    // Storing into text.
    std::string* m_pOut = nullptr;
    int m_nDepth = 0;
    size_t m_nOpen = 0; // just after the "{"
    int m_nMembers = 0;
    size_t m_nValueStart = 0;  // of the member written last
    bool m_bLastPlain = false; // it was no object or array
    bool m_bClosed = false;
    int m_nArrayElements = -1; // in an array of objects: how many so far
    bool m_bPending = false;   // a Put's value, written before the next member
    std::string m_strPendingKey;
    Json m_pending;
};

// Puts what a newer version wrote (JSON text of an object, as Leftovers gave it) back into `obj`: members this
// version wrote itself win, member objects are merged member by member. Text that does not parse
// is dropped.
void MergeLeftovers(Json& obj, const std::string& leftovers);

// The file's text: one member or array element a line, except that an array of plain values stays on one.
std::string PrintJobJson(const Json& root);
