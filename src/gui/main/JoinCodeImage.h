#pragma once

#include <QByteArray>
#include <QImage>

namespace orvane::ui {

// The QR code of a text, black modules on white with the quiet zone readers need, each module
// `moduleSize` pixels wide. A null image when the text cannot be encoded.
QImage JoinCodeImage(const QByteArray& text, int moduleSize);

}  // namespace orvane::ui
