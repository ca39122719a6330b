#pragma once

#include "core/browser_control.h"

#include <QPointer>

#include <deque>
#include <optional>

namespace pelquin {

class PageDialogBox;

// What a tab's page asked that could not wait for the user: kept on its tab until read.
struct PageNote {
    enum class Kind {
        Alert,              // shown, the page went on at once
        CancelledQuestion,  // a confirm, prompt or "leave this page?" answered Cancel
        CancelledLogin,     // a login cancelled: the site's own page shows
    };
    Kind kind = Kind::Alert;
    PageDialog ask;
    int times = 1;      // asks of this kind that came since the note was last closed
    bool seen = false;  // the user has selected the tab since it came
};

// What a tab's page asked that is not answered yet, and how much more it may ask.
struct PageAsks {
    struct Waiting {
        PageDialog dialog;
        PageDialogAnswer answer;
    };
    std::deque<Waiting> waiting;
    QPointer<PageDialogBox> open;     // the box on screen for it
    int scriptDialogs = 0;            // since its page was entered
    bool silenced = false;            // the user asked for no more dialogs of this page
    std::optional<PageNote> note;
    QPointer<PageDialogBox> login;    // the login box its note's "Log in" opened
};

}  // namespace pelquin
