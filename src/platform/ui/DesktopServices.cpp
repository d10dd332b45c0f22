#include "platform/ui/DesktopServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopShellOpen::open(const QString& fileOrAddress) {
    const bool isAddress = fileOrAddress.contains(u"://"_qs);
    const QUrl url = isAddress ? QUrl(fileOrAddress) : QUrl::fromLocalFile(QFileInfo(fileOrAddress).absoluteFilePath());
    return url.isValid() && QDesktopServices::openUrl(url);
}

void DesktopAlertSound::play() { QApplication::beep(); }
