#pragma once
#include "testing/harness/DesktopSession.h"
#include "testing/harness/ProbeAnswers.h"
#include "testing/harness/ProbeSession.h"

namespace e2e {

// Our prefixes open nothing for ".txt"; while this lives, the text viewer that
// a user's Windows has opens it. An association already there stays as it is.
class TextFilesOpenInNotepad {
public:
    explicit TextFilesOpenInNotepad(DesktopSession& session) : m_session(session)
    {
        ProbeRecord read("reg-get");
        read.Set("key", kKey).Set("name", "");
        m_added = !ToRegistryValue(m_session.Probe().Ask(read).at(0)).Exists();
        if (m_added)
            m_session.Probe().Ask(ProbeRecord("reg-set").Set("key", kKey).Set("name", "").Set("sz", "txtfile"));
    }
    ~TextFilesOpenInNotepad()
    {
        std::vector<ProbeRecord> ignored;
        std::string error;
        if (m_added)
            m_session.Probe().TryAsk(ProbeRecord("reg-delete").Set("key", kKey), ignored, error);
    }
    TextFilesOpenInNotepad(const TextFilesOpenInNotepad&) = delete;
    TextFilesOpenInNotepad& operator=(const TextFilesOpenInNotepad&) = delete;

private:
    // This Wine reads file types from the machine's classes only.
    static constexpr const char* kKey = "HKLM\\Software\\Classes\\.txt";
    DesktopSession& m_session;
    bool m_added = false;
};

}
