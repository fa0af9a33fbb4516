#include "shortcut_writer.h"

CShortcutWriter::~CShortcutWriter()
{
    if (m_persist != nullptr)
        m_persist->Release();
    if (m_link != nullptr)
        m_link->Release();
}

bool CShortcutWriter::Create()
{
    if (m_tried)
        return m_link != nullptr && m_persist != nullptr;
    m_tried = true;
    void* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                &link)) ||
        link == nullptr)
        return false;
    m_link = static_cast<IShellLinkA*>(link);
    void* persist = nullptr;
    if (FAILED(m_link->QueryInterface(IID_IPersistFile, &persist)) || persist == nullptr)
        return false;
    m_persist = static_cast<IPersistFile*>(persist);
    return true;
}

bool CShortcutWriter::Take(const CShortcutInfo& info)
{
    if (!Create())
        return false;
    CopySettingsFrom(info);
    return true;
}

bool CShortcutWriter::Save(const std::string& linkPath)
{
    if (!Create())
        return false;
    WCHAR widePath[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0)
        return false;  // empty or longer than the wide buffer

    if (m_itemIdList != nullptr)
        m_link->SetIDList(m_itemIdList);
    else
        m_link->SetPath(m_targetPath.c_str());
    m_link->SetWorkingDirectory(m_workingDirectory.c_str());
    m_link->SetIconLocation(m_iconFile.c_str(), m_iconIndex);
    m_link->SetDescription(m_description.c_str());
    m_link->SetArguments(m_arguments.c_str());
    m_link->SetHotkey(m_hotKey);
    m_link->SetShowCmd(m_showCommand);
    return SUCCEEDED(m_persist->Save(widePath, TRUE));
}
