#pragma once

class QCoreApplication;
class QTranslator;

/**
 * Qt's own Japanese translation, so the standard parts of the window speak Japanese too:
 * the input box's context menu (元に戻す, 切り取り ...) and the standard dialog buttons.
 */
namespace qtjapanese {

/**
 * Installs the translation on `app`, which owns it; nullptr when Qt's translation files are
 * not installed (the standard parts then stay in English).
 */
QTranslator* install(QCoreApplication& app);

} // namespace qtjapanese
