#include "application_manifest.h"

#include <msxml2.h>
#include <wrl/client.h>

#include <cctype>
#include <cstring>

namespace e2e {
namespace {

using Microsoft::WRL::ComPtr;

// IID_IXMLDOMDocument2, which MinGW-w64's import libraries do not define.
const IID DomDocument2 = {0x2933bf95, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

// trustInfo is looked for in asm.v2, the namespace Windows XP accepts as well
// as Vista and later.
const wchar_t Namespaces[] = L"xmlns:a='urn:schemas-microsoft-com:asm.v1' "
                             L"xmlns:t='urn:schemas-microsoft-com:asm.v2' "
                             L"xmlns:c='urn:schemas-microsoft-com:compatibility.v1'";

std::string Narrow(BSTR text)
{
    std::string result;
    for (UINT i = 0; text != nullptr && i < ::SysStringLen(text); ++i)
        result.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
    ::SysFreeString(text);
    return result;
}

// The text of the node an XPath names; "" when there is none.
std::string Select(IXMLDOMDocument2* document, const wchar_t* path)
{
    ComPtr<IXMLDOMNode> node;
    BSTR query = ::SysAllocString(path);
    BSTR text = nullptr;
    if (document->selectSingleNode(query, &node) == S_OK)
        node->get_text(&text);
    ::SysFreeString(query);
    return Narrow(text);
}

// Parses the resource's bytes as they are, so that the parser reads their
// encoding from the XML declaration as Windows does.
void Parse(const char* bytes, DWORD size, ApplicationManifest* manifest)
{
    CLSID domDocument;
    ComPtr<IXMLDOMDocument2> document;
    if (FAILED(::CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &domDocument)) ||
        FAILED(::CoCreateInstance(domDocument, nullptr, CLSCTX_INPROC_SERVER, DomDocument2, &document))) {
        manifest->parseError = "MSXML 6 is not available";
        return;
    }
    document->put_async(VARIANT_FALSE);
    document->put_resolveExternals(VARIANT_FALSE);
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = ::SafeArrayCreateVector(VT_UI1, 0, size);
    void* data = nullptr;
    if (source.parray != nullptr && SUCCEEDED(::SafeArrayAccessData(source.parray, &data))) {
        std::memcpy(data, bytes, size);
        ::SafeArrayUnaccessData(source.parray);
    }
    VARIANT_BOOL loaded = VARIANT_FALSE;
    document->load(source, &loaded);
    ::VariantClear(&source);
    if (loaded != VARIANT_TRUE) {
        ComPtr<IXMLDOMParseError> error;
        BSTR reason = nullptr;
        long line = 0;
        if (SUCCEEDED(document->get_parseError(&error))) {
            error->get_reason(&reason);
            error->get_line(&line);
        }
        manifest->parseError = "line " + std::to_string(line) + ": " + Narrow(reason);
        if (manifest->parseError.size() <= 8)
            manifest->parseError += "not well-formed";
        return;
    }
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocString(Namespaces);
    BSTR property = ::SysAllocString(L"SelectionNamespaces");
    document->setProperty(property, value);
    ::SysFreeString(property);
    ::VariantClear(&value);

    manifest->identityType = Select(document.Get(), L"/a:assembly/a:assemblyIdentity/@type");
    manifest->identityVersion = Select(document.Get(), L"/a:assembly/a:assemblyIdentity/@version");
    manifest->identityArchitecture =
        Select(document.Get(), L"/a:assembly/a:assemblyIdentity/@processorArchitecture");
    const wchar_t level[] =
        L"/a:assembly/t:trustInfo/t:security/t:requestedPrivileges/t:requestedExecutionLevel/@";
    manifest->executionLevel = Select(document.Get(), (std::wstring(level) + L"level").c_str());
    manifest->uiAccess = Select(document.Get(), (std::wstring(level) + L"uiAccess").c_str());
    for (int i = 1;; ++i) {
        const std::wstring os = L"/a:assembly/c:compatibility/c:application/c:supportedOS[" +
                                std::to_wstring(i) + L"]/@Id";
        std::string id = Select(document.Get(), os.c_str());
        if (id.empty())
            break;
        for (char& c : id)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        manifest->supportedOS.push_back(id);
    }
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

ApplicationManifest ReadApplicationManifest(HMODULE module)
{
    ApplicationManifest manifest;
    ::EnumResourceNamesA(module, MAKEINTRESOURCEA(24) /* RT_MANIFEST */, CountName,
                         reinterpret_cast<LONG_PTR>(&manifest.resources));
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    const char* bytes = found ? static_cast<const char*>(::LockResource(::LoadResource(module, found))) : nullptr;
    if (bytes == nullptr)
        return manifest;
    manifest.present = true;

    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Parse(bytes, ::SizeofResource(module, found), &manifest);
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return manifest;
}

std::vector<std::string> ManifestMismatches(const ApplicationManifest& manifest, const std::string& version,
                                            const std::string& level)
{
    if (!manifest.present)
        return {"no manifest 1"};
    if (!manifest.parseError.empty())
        return {"not well-formed: " + manifest.parseError};
    std::vector<std::string> mismatches;
    const auto check = [&](const char* what, const std::string& shown, const std::string& wanted) {
        if (shown != wanted)
            mismatches.push_back(std::string(what) + " is \"" + shown + "\", not \"" + wanted + "\"");
    };
    check("resources", std::to_string(manifest.resources), "1");
    check("identity type", manifest.identityType, "win32");
    check("identity version", manifest.identityVersion, version);
    check("identity architecture", manifest.identityArchitecture, "X86");
    check("execution level", manifest.executionLevel, level);
    check("uiAccess", manifest.uiAccess, "false");
    if (manifest.supportedOS != VistaTo10OsIds)
        mismatches.push_back("the supportedOS ids are not Vista's to 10's");
    return mismatches;
}

}  // namespace e2e
