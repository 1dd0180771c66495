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
    const std::string name = Name.toStdString();
    return QString::fromStdU16String(FindProgramFile(folder, name).value_or(folder / name).u16string());
}

} // namespace kvx::ui
