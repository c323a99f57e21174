#pragma once

#include <QString>
#include <QStringList>

// Which pictures this machine can show: the answer of the installed Qt image readers, never a list of
// names. Imports, file dialogs and the background view all rely on it.
namespace PictureFormats {

// True when an installed reader recognises the file's content as a picture it decodes, whatever the
// file is named.
bool canDecode(const QString &filePath);

// Patterns such as "*.webp" for the picture types the installed readers decode, sorted, for file
// dialogs.
QStringList nameFilters();

} // namespace PictureFormats
