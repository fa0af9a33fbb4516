#include "application_manifest.h"

#include <msxml2.h>
#include <wrl/client.h>

#include <cctype>
#include <cstring>
#include <utility>

namespace e2e {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t AssemblyNs[] = L"urn:schemas-microsoft-com:asm.v1";
// The namespace of trustInfo that Windows XP accepts as well as Vista and later.
constexpr wchar_t TrustNs[] = L"urn:schemas-microsoft-com:asm.v2";
constexpr wchar_t CompatibilityNs[] = L"urn:schemas-microsoft-com:compatibility.v1";

std::string Narrow(BSTR text)
{
    std::string result;
    for (UINT i = 0; text != nullptr && i < ::SysStringLen(text); ++i)
        result.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
    return result;
}

std::wstring Text(BSTR text)
{
    return text != nullptr ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}

// The element children of `parent` in namespace `ns` named `name`.
std::vector<ComPtr<IXMLDOMNode>> Children(IXMLDOMNode* parent, const wchar_t* ns, const wchar_t* name)
{
    std::vector<ComPtr<IXMLDOMNode>> found;
    ComPtr<IXMLDOMNode> child;
    if (parent == nullptr || FAILED(parent->get_firstChild(&child)))
        return found;
    while (child) {
        DOMNodeType type = NODE_INVALID;
        BSTR uri = nullptr, local = nullptr;
        child->get_nodeType(&type);
        child->get_namespaceURI(&uri);
        child->get_baseName(&local);
        if (type == NODE_ELEMENT && Text(uri) == ns && Text(local) == name)
            found.push_back(child);
        ::SysFreeString(uri);
        ::SysFreeString(local);
        ComPtr<IXMLDOMNode> next;
        child->get_nextSibling(&next);
        child = std::move(next);
    }
    return found;
}

ComPtr<IXMLDOMNode> Child(IXMLDOMNode* parent, const wchar_t* ns, const wchar_t* name)
{
    auto found = Children(parent, ns, name);
    return found.empty() ? nullptr : found.front();
}

std::string Attribute(IXMLDOMNode* node, const wchar_t* name)
{
    ComPtr<IXMLDOMElement> element;
    if (node == nullptr || FAILED(node->QueryInterface(IID_IXMLDOMElement, &element)))
        return "";
    VARIANT value;
    ::VariantInit(&value);
    BSTR attribute = ::SysAllocString(name);
    std::string text;
    if (element->getAttribute(attribute, &value) == S_OK && value.vt == VT_BSTR)
        text = Narrow(value.bstrVal);
    ::SysFreeString(attribute);
    ::VariantClear(&value);
    return text;
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Parses the resource's bytes as they are, so that the parser reads their
// encoding from the XML declaration as Windows does.
void Parse(const char* bytes, DWORD size, ApplicationManifest* manifest)
{
    CLSID domDocument;
    ComPtr<IXMLDOMDocument> document;
    if (FAILED(::CLSIDFromProgID(L"Msxml2.DOMDocument.6.0", &domDocument)) ||
        FAILED(::CoCreateInstance(domDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument, &document))) {
        manifest->parseError = "MSXML 6 is not available";
        return;
    }
    document->put_async(VARIANT_FALSE);
    document->put_validateOnParse(VARIANT_FALSE);
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
        ::SysFreeString(reason);
        return;
    }
    ComPtr<IXMLDOMNode> assembly = Child(document.Get(), AssemblyNs, L"assembly");
    ComPtr<IXMLDOMNode> identity = Child(assembly.Get(), AssemblyNs, L"assemblyIdentity");
    manifest->identityType = Attribute(identity.Get(), L"type");
    manifest->identityVersion = Attribute(identity.Get(), L"version");
    manifest->identityArchitecture = Attribute(identity.Get(), L"processorArchitecture");

    ComPtr<IXMLDOMNode> level = Child(
        Child(Child(Child(assembly.Get(), TrustNs, L"trustInfo").Get(), TrustNs, L"security").Get(), TrustNs,
              L"requestedPrivileges")
            .Get(),
        TrustNs, L"requestedExecutionLevel");
    manifest->executionLevel = Attribute(level.Get(), L"level");
    manifest->uiAccess = Attribute(level.Get(), L"uiAccess");

    ComPtr<IXMLDOMNode> application =
        Child(Child(assembly.Get(), CompatibilityNs, L"compatibility").Get(), CompatibilityNs, L"application");
    for (const auto& os : Children(application.Get(), CompatibilityNs, L"supportedOS"))
    {
        std::string id = Attribute(os.Get(), L"Id");
        for (char& c : id)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        manifest->supportedOS.push_back(id);
    }
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

}  // namespace e2e
