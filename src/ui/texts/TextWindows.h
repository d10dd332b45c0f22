#pragma once

#include "core/records/OwnTexts.h"
#include "ui/texts/TextPickerDialog.h"

#include <QObject>

#include <optional>

class MainWindow;
struct Platform;
struct Session;

/**
 * Opens the windows of the user's own texts from the main window's menus: the editor, the
 * picker, the sources window and the list size. The input-method guard rests while they are
 * open, so the user can type Japanese in them, and the main window shows the text to practise
 * afresh when one of them changed it.
 */
class TextWindows : public QObject {
    Q_OBJECT

public:
    /** Connects the menu items; lives as long as the window. */
    TextWindows(MainWindow& window, Session& session, Platform& platform);

    void newText();
    void editCurrentText();
    void pickText(TextPickerDialog::Purpose purpose);
    void editSources();
    void chooseListSize();

private:
    bool runEditor(std::optional<OwnTexts::EditedText> edited, QWidget* parent);
    bool runSources(QWidget* parent);

    MainWindow& m_window;
    Session& m;
    Platform& m_platform;
};
