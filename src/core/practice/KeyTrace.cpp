#include "core/practice/KeyTrace.h"

#include <QFile>

KeyTrace::KeyTrace() {
    const QString path = qEnvironmentVariable("RINVALE_KEY_LOG");
    if (path.isEmpty()) return;
    auto file = std::make_unique<QFile>(path);
    if (file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) m_file = std::move(file);
}

KeyTrace::~KeyTrace() = default;

void KeyTrace::line(const QString& text) {
    if (!m_file) return;
    m_file->write((text + u'\n').toUtf8());
    m_file->flush();
}
