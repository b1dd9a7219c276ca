#include "ui/win32/file_chooser.h"

#include "platform/win32/framework/file_dialog.h"

std::optional<std::string> chooseFile(const FileChoice& choice)
{
    CFileDialog dialog(OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, choice.filter);
    dialog.m_title = choice.title;
    dialog.m_initialFolder = choice.initialFolder;
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    return dialog.GetPathName();
}
