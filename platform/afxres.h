// The runtime resource chain: each library registers the resource script compiled into it (by pdtrc) while it is
// loaded, and lookups search the libraries newest first, as MFC searches its extension modules.
#pragma once

#include "platform/rcscript.h"

#include <cstddef>
#include <exception>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pdt
{

struct EmbeddedFile
{
    const char *name; // as the script names it; '\' and '/' and letter case do not matter when looked up
    const unsigned char *data;
    std::size_t size;
};

class ResourceModule
{
  public:
    // The files must outlive the module (pdtrc emits them as static arrays).
    ResourceModule(const char *moduleName, const char *scriptName, std::initializer_list<EmbeddedFile> files);
    ~ResourceModule();
    ResourceModule(const ResourceModule &) = delete;
    ResourceModule &operator=(const ResourceModule &) = delete;

    const std::string &Name() const
    {
        return m_name;
    }

    // Parsed on first use, once; a malformed script throws rc::ParseError on every call.
    const rc::ResourceScript &Script() const;

    std::optional<std::string_view> FileData(std::string_view name) const;

  private:
    friend struct ResourceChainAccess;

    std::string m_name;
    std::string m_scriptName;
    std::vector<EmbeddedFile> m_files;
    mutable std::once_flag m_parsed;
    mutable std::unique_ptr<rc::ResourceScript> m_script;
    mutable std::exception_ptr m_error;
    mutable bool m_reported = false;  // a broken script is reported once, with the chain locked
    ResourceModule *m_next = nullptr; // the chain, newest first
};

// Lookups across the registered modules, newest first. A module whose script does not parse is passed over.
// The results stay valid while the module that holds them is registered.
const rc::DialogTemplate *FindDialogTemplate(int id);
const rc::MenuTemplate *FindMenuTemplate(int id);
const std::string *FindStringResource(int id);
std::optional<std::string_view> FindBitmapData(int id); // the .bmp file bytes
std::vector<const ResourceModule *> ResourceChain();

} // namespace pdt
