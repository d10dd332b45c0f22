#pragma once

#include "core/records/OwnTexts.h"
#include "core/texts/TextCatalogue.h"
#include "ui/common/DialogFrame.h"

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
struct Session;

/**
 * Lists the user's texts page by page, newest first, narrowed to a source or a keyword, and
 * does one thing with the chosen text: practise it, edit it or delete it with its records.
 */
class TextPickerDialog : public DialogFrame {
    Q_OBJECT

public:
    enum class Purpose { Practise, Edit, Delete };

    TextPickerDialog(Session& session, Purpose purpose, QWidget* owner);
    ~TextPickerDialog() override;

    /** Opens the editor on a text; true when the text was saved. */
    void setEditor(std::function<bool(const OwnTexts::EditedText&, QWidget*)> editor) { m_editor = std::move(editor); }
    /** True when the text to practise changed (chosen, saved or deleted): the main window shows it afresh. */
    bool currentTextChanged() const { return m_currentChanged; }

    /** Shows page `page` (from 0) as a click on its label does. */
    void showPage(int page);
    /** The chosen text's action (練習, 編集 or 削除). */
    void act();

private:
    void fillRows();
    void rowChosen();
    void deleteChosen(const QString& fileName);
    void message(const QString& text);
    QString chosenFile(const QString& emptyMessage, const QString& noSelectionMessage);

    Session& m;
    Purpose m_purpose;
    std::function<bool(const OwnTexts::EditedText&, QWidget*)> m_editor;
    std::unique_ptr<TextCatalogue> m_catalogue;
    QList<TextCatalogue::Row> m_rows;
    int m_page = -1;
    bool m_currentChanged = false;

    QListWidget* m_pageList = nullptr;
    QListWidget* m_sourceList = nullptr;
    QListWidget* m_keywordList = nullptr;
    QListWidget* m_textList = nullptr;
    QLabel* m_dateHeader = nullptr;
    QLabel* m_charCount = nullptr;
    QLabel* m_paragraphCount = nullptr;
    QLabel* m_fileCount = nullptr;
    QPushButton* m_closeButton = nullptr;
};
