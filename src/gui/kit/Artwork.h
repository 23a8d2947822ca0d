#pragma once

#include <QIcon>
#include <QPixmap>

#include "app/WorkflowTexts.h"

class QObject;

namespace orvane::ui {

class ImageList;

// The program's pictures, compiled into the binary.
namespace artwork {

QIcon ApplicationIcon();
QPixmap HeaderPicture();  // 64 x 68, left of the header
QPixmap Logo();           // 125 x 68, right of the header
// Connected / not connected pictures of the three status groups.
enum class Subject { kWired, kWireless, kInternet };
QPixmap StatusPicture(Subject subject, bool connected);

// Indices of the side bar's small pictures.
inline constexpr int kShareImage = 0;
inline constexpr int kConnectImage = 1;
inline constexpr int kExitImage = 2;
inline constexpr int kOptionsImage = 3;
inline constexpr int kUpdateImage = 4;
inline constexpr int kCommentsImage = 5;
inline constexpr int kAboutImage = 6;
// The status bar's sharing pictures: the indices the workflow names for its panel.
inline constexpr int kSharingEnabledImage = texts::kSharingEnabledImage;
inline constexpr int kSharingReadyImage = texts::kReadyImage;

// The side bar's small pictures (mxImageList_Small) and the 16 x 16 state list (ImageList_16:
// 0 connected, 1 not connected).
ImageList* CreateSmallImages(QObject* parent);
ImageList* CreateStateImages(QObject* parent);
// The connection picker's 48 x 48 pictures (ImageList1): 0 wired, 1 wired and connected,
// 2 wireless, 3 wireless and connected.
ImageList* CreatePickerImages(QObject* parent);

// The troubleshooter's three 32 x 32 frames: the signal sign with 0, 1 and 2 arcs.
QPixmap SignalFrame(int arcs);

}  // namespace artwork
}  // namespace orvane::ui
