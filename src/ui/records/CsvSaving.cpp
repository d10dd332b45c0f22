#include "ui/records/CsvSaving.h"

#include "core/settings/ExtraSettings.h"
#include "core/util/AtomicFile.h"
#include "ui/common/PlainText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace csvsaving {

bool save(QWidget* parent, const QString& programFolder, const QString& fileName,
          const std::function<QByteArray()>& content) {
    ExtraSettings extra(programFolder);
    QString folder = extra.value(QString::fromUtf16(FolderKey)).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();

    QFileDialog dialog(parent, u"CSVで保存"_s, folder + u'/' + fileName, u"CSV ファイル (*.csv)"_s);
    dialog.setObjectName(u"csvFileDialog"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(u"csv"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString path = dialog.selectedFiles().constFirst();
    extra.setValue(QString::fromUtf16(FolderKey), QFileInfo(path).absolutePath());

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QString reason;
    const bool written = writeFileAtomically(path, content(), &reason);
    QGuiApplication::restoreOverrideCursor();
    if (!written)
        plaintext::message(parent, QMessageBox::Warning, u"CSVで保存"_s,
                           QDir::toNativeSeparators(path) + u" を保存できませんでした（"_s + reason + u"）。"_s);
    return written;
}

} // namespace csvsaving
