#include "platform/desktop/DesktopServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <canberra.h>

using namespace Qt::StringLiterals;

bool DesktopShellOpen::open(const QString& fileOrAddress) {
    const bool isAddress = fileOrAddress.contains(u"://"_s);
    const QUrl url = isAddress ? QUrl(fileOrAddress) : QUrl::fromLocalFile(QFileInfo(fileOrAddress).absoluteFilePath());
    return url.isValid() && QDesktopServices::openUrl(url);
}

DesktopAlertSound::DesktopAlertSound() = default;

DesktopAlertSound::~DesktopAlertSound() {
    if (m_context) ca_context_destroy(m_context);
}

void DesktopAlertSound::play() {
    // The context connects to the sound server on first use, so start-up never waits for it.
    if (!m_context && !m_canberraFailed) {
        if (ca_context_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            m_canberraFailed = true;
        } else {
            ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "RinvaleQX", nullptr);
        }
    }
    if (m_context && !m_canberraFailed) {
        // Each miss replaces the previous sound instead of piling up behind it.
        ca_context_cancel(m_context, 1);
        if (ca_context_play(m_context, 1, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "入力ミス", nullptr) ==
            CA_SUCCESS)
            return;
        m_canberraFailed = true;
    }
    QApplication::beep();
}
