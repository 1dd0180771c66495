#pragma once
// A Windows icon file whose images are stored as PNG (as Windows reads them since Vista);
// Qt writes a single image per .ico, the executable wants every size in one.
#include <QByteArray>
#include <QImage>
#include <vector>

namespace kvx::ui {

// Images of at most 256 x 256, in the order given; empty when one is larger or cannot be encoded.
QByteArray IcoFileOf(const std::vector<QImage>& Images);

} // namespace kvx::ui
