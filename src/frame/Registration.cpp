#include "frame/Registration.h"

#include "ClassfactoryBase.h"
#include "NxException.h"
#include "NxXmlLib16Version.h"
#include "XmlDocument.h"
#include "frame/Messages.h"
#include "frame/Namespaces.h"

#include <atomic>
#include <cstdio>

namespace NxXmlLib16
{

namespace
{

// Written once by Register at start-up, read by every entry point.
std::atomic<int> g_majorVersion{0};
std::atomic<int> g_minorVersion{0};
std::atomic<bool> g_firstConstructionChecked{false};

std::string & Owner()
{
    static std::string owner;
    return owner;
}

bool VersionMatches()
{
    return g_majorVersion.load(std::memory_order_relaxed) == LibraryMajorVersion &&
           g_minorVersion.load(std::memory_order_relaxed) == LibraryMinorVersion;
}

// There is no message box here: the alert goes to standard error.
void ShowVersionAlert()
{
    std::string const text = FormatString(Msg::VersionAlertText, LibraryMajorVersion, LibraryMinorVersion,
                                          g_majorVersion.load(), g_minorVersion.load());
    std::fprintf(stderr, Msg::VersionAlertLine, text.c_str());
}

} // namespace

void Register(int majorVersion, int minorVersion, char const * ownerName, char const *, char const *)
{
    g_majorVersion.store(majorVersion, std::memory_order_relaxed);
    g_minorVersion.store(minorVersion, std::memory_order_relaxed);
    Owner() = ownerName != nullptr ? ownerName : "";
}

void CheckVersion()
{
    if (VersionMatches())
        return;
    ShowVersionAlert();
    throw CNxException(FormatString(Msg::WrongVersion, LibraryMajorVersion, LibraryMinorVersion, g_majorVersion.load(),
                                    g_minorVersion.load()));
}

void CheckVersionOnFirstConstruction()
{
    if (g_firstConstructionChecked.load(std::memory_order_relaxed) || g_firstConstructionChecked.exchange(true))
        return;
    if (!VersionMatches())
        ShowVersionAlert();
}

std::string const & GetRegisteredOwner() { return Owner(); }

CClassfactoryBase::~CClassfactoryBase() = default;

std::string CClassfactoryBase::GetElementType(CXmlElement * element)
{
    std::string_view const type = element->GetAttribute("type", Namespaces::Xsi);
    std::size_t const colon = type.find(':');
    return std::string(colon == std::string_view::npos ? type : type.substr(colon + 1));
}

std::string CClassfactoryBase::GetElementTypeNamespaceUri(CXmlElement * element)
{
    std::string_view const type = element->GetAttribute("type", Namespaces::Xsi);
    std::size_t const colon = type.find(':');
    if (colon != std::string_view::npos)
    {
        std::string const namespaceUri =
            element->GetDocument()->LookupNamespaceFromAlias(std::string(type.substr(0, colon)).c_str());
        if (!namespaceUri.empty())
            return namespaceUri;
    }
    return element->GetNamespaceURI();
}

} // namespace NxXmlLib16
