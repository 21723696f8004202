#include "framework/OptionPages.h"

#include <map>

namespace
{
std::map<int, OptionPageClass>& Registry()
{
    static std::map<int, OptionPageClass> registry;
    return registry;
}
} // namespace

void RegisterOptionPage(int optionId, UINT templateId, OptionPageFactory create)
{
    Registry()[optionId] = OptionPageClass{optionId, templateId, create};
}

const OptionPageClass* FindOptionPage(int optionId)
{
    auto it = Registry().find(optionId);
    return it == Registry().end() ? nullptr : &it->second;
}
