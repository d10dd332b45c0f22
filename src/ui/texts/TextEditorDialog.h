#pragma once

#include "core/records/OwnTexts.h"
#include "core/texts/TextEditing.h"
#include "core/texts/TextSearch.h"
#include "ui/common/DialogFrame.h"

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;
class ShellOpen;
struct Session;

/**
 * Creates a practice text from pasted or dropped text, or edits one: live statistics per
 * paragraph, find and replace, the source, keyword and issue date, and the save with its
 * checks. A saved text is the one to practise when the window closes (accepted).
 */
class TextEditorDialog : public DialogFrame {
    Q_OBJECT

public:
    /** A new text (`edited` empty) or the text opened for editing. */
    TextEditorDialog(Session& session, ShellOpen& shell, bool japaneseDisplay,
                     std::optional<OwnTexts::EditedText> edited, QWidget* owner);
    ~TextEditorDialog() override;

    /** The file written by the save, empty until then. */
    const QString& savedFileName() const { return m_savedFile; }
    /** The fields as the boxes hold them. */
    TextEditing::Fields fields() const;
    /** The statistics of the body as last rebuilt. */
    const TextEditing::BodyStatistics& statistics() const { return m_stats; }

    /** Opens the sources window; the opener decides how (tests answer it). */
    void setSourcesEditor(std::function<bool(QWidget*)> editor) { m_editSources = std::move(editor); }

    /** Saves as the save button does. */
    void save();
    /** Rebuilds the statistics now (normally once per turn of the event loop after a change). */
    void rebuildStatistics();
    /** The enlarged layout on or off (the "￣" button and Ctrl+H). */
    void toggleEnlarged();
    bool isEnlarged() const { return m_growth > 0; }

    /** Closing (ｷｬﾝｾﾙ, Esc, the close box) asks first when something unsaved would be lost. */
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void placeControls();
    void fillLists();
    void bodyChanged();
    void showMessage(const QString& text);
    void selectMatch(const TextSearch::Outcome& outcome);
    void prepareSearch();
    void find();
    void replaceNext();
    void replaceAll();
    void openSourceSite();
    void dropFile(const QString& path);
    void clearTexts();
    void editSources();
    bool confirmClose();
    void mark(QWidget* field, const QColor& colour);
    QWidget* fieldWidget(TextEditing::Field field) const;

    Session& m;
    ShellOpen& m_shell;
    bool m_japaneseDisplay;
    std::optional<OwnTexts::EditedText> m_edited;
    TextEditing::Fields m_opening;
    TextEditing::BodyStatistics m_stats;
    TextSearch m_search;
    std::function<bool(QWidget*)> m_editSources;
    QString m_savedFile;
    bool m_saved = false;
    bool m_rebuildPending = false;
    bool m_warnedTooManyParagraphs = false;
    int m_growth = 0; ///< pixels the enlarged layout adds to the body

    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QLabel* m_header = nullptr;
    QListView* m_paragraphList = nullptr;
    QStringListModel* m_paragraphModel = nullptr;
    QLabel* m_wholeText = nullptr;
    QComboBox* m_source = nullptr;
    QLabel* m_sourceLink = nullptr;
    QComboBox* m_keyword = nullptr;
    QComboBox* m_year = nullptr;
    QComboBox* m_month = nullptr;
    QComboBox* m_day = nullptr;
    QRadioButton* m_findText = nullptr;
    QRadioButton* m_findMarkers = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QRadioButton* m_replaceText = nullptr;
    QRadioButton* m_replaceBreak = nullptr;
    QLineEdit* m_replaceEdit = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_enlargeButton = nullptr;
    QList<QWidget*> m_below;    ///< what moves down when the body grows
    QList<QRect> m_belowPlaces; ///< their places in the normal layout
};
