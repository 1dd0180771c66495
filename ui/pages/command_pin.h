#pragma once
// What the shortcuts page asks the security page: the command PIN as typed there now, so the
// shortcuts shown carry it before anything is written.
#include <QString>

namespace kvx::ui {

class ICommandPin {
public:
    virtual QString CommandPin() const = 0;

protected:
    ~ICommandPin() = default;
};

} // namespace kvx::ui
