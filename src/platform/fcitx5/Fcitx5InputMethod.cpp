#include "platform/fcitx5/Fcitx5InputMethod.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

using namespace Qt::StringLiterals;

namespace {

const QString Service = u"org.fcitx.Fcitx5"_s;
const QString Path = u"/controller"_s;
const QString Interface = u"org.fcitx.Fcitx.Controller1"_s;
constexpr qint64 RefreshAfterMs = 40;

} // namespace

Fcitx5InputMethod* Fcitx5InputMethod::create(QObject* parent) {
    if (!qEnvironmentVariable("QT_IM_MODULE").contains(u"fcitx"_s)) return nullptr;
    if (!QDBusConnection::sessionBus().isConnected()) return nullptr;
    return new Fcitx5InputMethod(parent);
}

Fcitx5InputMethod::Fcitx5InputMethod(QObject* parent) : QObject(parent) {
    refresh();
}

void Fcitx5InputMethod::call(const QString& method) const {
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(Service, Path, Interface, method));
}

void Fcitx5InputMethod::refresh() const {
    if (m_queryPending || (m_sinceQuery.isValid() && m_sinceQuery.elapsed() < RefreshAfterMs)) return;
    m_queryPending = true;
    m_sinceQuery.start();
    const QDBusPendingCall pending =
        QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(Service, Path, Interface, u"State"_s));
    auto* watcher = new QDBusPendingCallWatcher(pending, const_cast<Fcitx5InputMethod*>(this));
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<int> reply = *w;
        if (reply.isValid()) m_state = reply.value();
        m_queryPending = false;
        w->deleteLater();
    });
}

int Fcitx5InputMethod::status() const {
    refresh();
    switch (m_state) {
    case 2:
        return 4;
    case 0:
        return 0;
    default:
        return 2;
    }
}

void Fcitx5InputMethod::close() {
    call(u"Deactivate"_s);
    if (m_state == 2) m_state = 1;
}

void Fcitx5InputMethod::setInputMode(int mode) {
    if (mode == 2) {
        close();
    } else if (mode >= 4 && mode <= 8) {
        call(u"Activate"_s);
        if (m_state == 1) m_state = 2;
    }
}
