#include "session/NotesSaveDebouncer.h"

NotesSaveDebouncer::NotesSaveDebouncer(std::unique_ptr<OneShotTimer> timer,
    std::function<void(const QString &)> save, std::function<QString()> savedNotes)
    : m_timer(std::move(timer))
    , m_save(std::move(save))
    , m_savedNotes(std::move(savedNotes))
{ }

void NotesSaveDebouncer::editorAppeared()
{
    // The screens swap editors when the phase changes; the old one's typing must not be lost.
    flush();
    ++m_openEditors;
    m_isFocused = false;
    setDraft(m_savedNotes());
}

void NotesSaveDebouncer::editorDisappeared()
{
    flush();
    if (m_openEditors > 0)
        --m_openEditors;
    if (m_openEditors == 0)
        m_isFocused = false;
}

void NotesSaveDebouncer::edit(const QString &text)
{
    if (text == m_draft)
        return;
    setDraft(text);
    scheduleSave();
}

void NotesSaveDebouncer::setFocused(bool focused)
{
    if (focused == m_isFocused)
        return;
    m_isFocused = focused;
    if (!focused)
        flush();
}

void NotesSaveDebouncer::flush()
{
    m_timer->cancel();
    // Without an editor the draft may be an earlier round's; the last editor to go wrote it already.
    if (m_openEditors > 0 && m_draft != m_savedNotes())
        m_save(m_draft);
}

void NotesSaveDebouncer::savedNotesChanged(const QString &notes)
{
    // Without an editor on screen the draft is reloaded when the next one appears.
    if (m_openEditors == 0 || m_isFocused || notes == m_draft)
        return;
    m_timer->cancel();
    setDraft(notes);
    scheduleSave();
}

void NotesSaveDebouncer::setDraft(const QString &text)
{
    if (text == m_draft)
        return;
    m_draft = text;
    if (onDraftChanged)
        onDraftChanged();
}

void NotesSaveDebouncer::scheduleSave()
{
    // The text is taken now: a later keystroke replaces this save with its own.
    m_timer->start(saveDelay, [this, text = m_draft] { m_save(text); });
}
