// The resource chain. Modules register from static constructors of shared libraries and unregister from their
// static destructors, so the chain itself must need neither: a constant-initialised list head and mutex.
#include "platform/afxres.h"

#include <cctype>
#include <cstdio>
#include <type_traits>

namespace pdt
{

// External linkage on purpose: should pdtcore end up in more than one shared object, the dynamic linker binds
// every copy to one chain.
namespace detail
{
constinit std::mutex g_resourceChainMutex;
constinit ResourceModule *g_resourceChainHead = nullptr;
static_assert(std::is_trivially_destructible_v<std::mutex>, "the chain mutex must survive static destruction");
} // namespace detail

struct ResourceChainAccess
{
    static ResourceModule *&Next(ResourceModule &m)
    {
        return m.m_next;
    }
    static const ResourceModule *Next(const ResourceModule &m)
    {
        return m.m_next;
    }
    static bool &Reported(const ResourceModule &m)
    {
        return m.m_reported;
    }
};

namespace
{

// Scripts come from Windows, where file names ignore case and use either slash.
bool SameFileName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        char x = a[i] == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(a[i])));
        char y = b[i] == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(b[i])));
        if (x != y)
            return false;
    }
    return true;
}

// Called with the chain locked.
const rc::ResourceScript *ScriptOf(const ResourceModule &m)
{
    try
    {
        return &m.Script();
    }
    catch (const std::exception &e)
    {
        bool &reported = ResourceChainAccess::Reported(m);
        if (!reported)
            std::fprintf(stderr, "resources of %s are unusable: %s\n", m.Name().c_str(), e.what());
        reported = true;
        return nullptr;
    }
}

template <class Result, class Lookup> Result Search(Lookup lookup)
{
    std::lock_guard lock(detail::g_resourceChainMutex);
    for (const ResourceModule *m = detail::g_resourceChainHead; m; m = ResourceChainAccess::Next(*m))
    {
        if (const rc::ResourceScript *script = ScriptOf(*m))
            if (Result r = lookup(*m, *script))
                return r;
    }
    return Result{};
}

} // namespace

ResourceModule::ResourceModule(const char *moduleName, const char *scriptName,
                               std::initializer_list<EmbeddedFile> files)
    : m_name(moduleName ? moduleName : ""), m_scriptName(scriptName ? scriptName : ""), m_files(files)
{
    std::lock_guard lock(detail::g_resourceChainMutex);
    m_next = detail::g_resourceChainHead;
    detail::g_resourceChainHead = this;
}

ResourceModule::~ResourceModule()
{
    std::lock_guard lock(detail::g_resourceChainMutex);
    for (ResourceModule **link = &detail::g_resourceChainHead; *link; link = &ResourceChainAccess::Next(**link))
    {
        if (*link == this)
        {
            *link = m_next;
            break;
        }
    }
}

const rc::ResourceScript &ResourceModule::Script() const
{
    std::call_once(m_parsed, [this] {
        try
        {
            std::optional<std::string_view> text = FileData(m_scriptName);
            if (!text)
                throw rc::ParseError(m_scriptName, 0, "the resource script is not embedded in " + m_name);
            rc::IncludeResolver includes = [this](const std::string &name) -> std::optional<std::string> {
                if (std::optional<std::string_view> data = FileData(name))
                    return std::string(*data);
                return std::nullopt;
            };
            m_script = std::make_unique<rc::ResourceScript>(rc::ParseResourceScript(*text, m_scriptName, includes));
        }
        catch (...)
        {
            // Kept rather than retried: the embedded text cannot change.
            m_error = std::current_exception();
        }
    });
    if (m_error)
        std::rethrow_exception(m_error);
    return *m_script;
}

std::optional<std::string_view> ResourceModule::FileData(std::string_view name) const
{
    for (const EmbeddedFile &f : m_files)
    {
        if (f.name && SameFileName(f.name, name))
            return std::string_view(reinterpret_cast<const char *>(f.data), f.size);
    }
    return std::nullopt;
}

const rc::DialogTemplate *FindDialogTemplate(int id)
{
    return Search<const rc::DialogTemplate *>(
        [id](const ResourceModule &, const rc::ResourceScript &s) { return s.FindDialog(id); });
}

const rc::MenuTemplate *FindMenuTemplate(int id)
{
    return Search<const rc::MenuTemplate *>(
        [id](const ResourceModule &, const rc::ResourceScript &s) { return s.FindMenu(id); });
}

const std::string *FindStringResource(int id)
{
    return Search<const std::string *>(
        [id](const ResourceModule &, const rc::ResourceScript &s) { return s.FindString(id); });
}

std::optional<std::string_view> FindBitmapData(int id)
{
    return Search<std::optional<std::string_view>>(
        [id](const ResourceModule &m, const rc::ResourceScript &s) -> std::optional<std::string_view> {
            auto it = s.bitmaps.find(id);
            if (it == s.bitmaps.end())
                return std::nullopt;
            return m.FileData(it->second);
        });
}

std::vector<const ResourceModule *> ResourceChain()
{
    std::lock_guard lock(detail::g_resourceChainMutex);
    std::vector<const ResourceModule *> chain;
    for (const ResourceModule *m = detail::g_resourceChainHead; m; m = ResourceChainAccess::Next(*m))
        chain.push_back(m);
    return chain;
}

} // namespace pdt
