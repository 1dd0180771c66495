#pragma once
// A data file the program ships with, as the program finds it: beside itself first, then where
// an installation keeps it; beside the program when it is nowhere, so a message can name it.
#include <QCoreApplication>
#include <QString>
#include <filesystem>

#include "link/program_files.h"

namespace kvx::ui {

inline QString ShippedFilePath(const QString& Name)
{
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdU16String();
    return QString::fromStdU16String(ProgramFilePath(folder, Name.toStdString()).u16string());
}

} // namespace kvx::ui
