#pragma once

#include "core/OneShotTimer.h"

#include <QString>
#include <functional>
#include <memory>

// The draft of the round notes editor. Typing lands in the draft at once, so that it never waits on a
// disk write, and reaches the round 0.45 s after the last keystroke, at once when the editor loses focus
// or goes away, and at once before the program quits. While the editor has focus, notes changed
// elsewhere are not taken in, so that the user's typing is never overwritten.
class NotesSaveDebouncer
{
public:
    static constexpr std::chrono::milliseconds saveDelay { 450 };

    // save hands a text to the round; savedNotes tells the round's notes as they stand.
    NotesSaveDebouncer(std::unique_ptr<OneShotTimer> timer, std::function<void(const QString &)> save,
        std::function<QString()> savedNotes);

    NotesSaveDebouncer(const NotesSaveDebouncer &) = delete;
    NotesSaveDebouncer &operator=(const NotesSaveDebouncer &) = delete;

    const QString &draft() const { return m_draft; }
    bool hasPendingSave() const { return m_timer->isPending(); }

    // An editor came on screen: it starts from the round's notes, unfocused, with nothing pending. A save
    // still pending from an editor that is going away is written first.
    void editorAppeared();
    // An editor left the screen: what it holds is written now.
    void editorDisappeared();
    // The user changed the text.
    void edit(const QString &text);
    // Losing focus writes what was typed now.
    void setFocused(bool focused);
    // Cancels the pending save and writes the draft unless the round already holds it.
    void flush();
    // The round's notes changed, perhaps from elsewhere (the journal, a new round).
    void savedNotesChanged(const QString &notes);

    // Called whenever the draft changes.
    std::function<void()> onDraftChanged;

private:
    void setDraft(const QString &text);
    void scheduleSave();

    std::unique_ptr<OneShotTimer> m_timer;
    std::function<void(const QString &)> m_save;
    std::function<QString()> m_savedNotes;
    QString m_draft;
    bool m_isFocused = false;
    int m_openEditors = 0;
};
