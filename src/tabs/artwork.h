#pragma once

#include <QIcon>
#include <QPixmap>

namespace pelquin {

// Pictures drawn in code, so the program needs no image plugins.
QIcon worldIcon();        // a tab whose page has completely loaded
QIcon changedIcon();      // a tab whose page changed since the user last looked
QIcon alertIcon();        // a tab whose watch rule's condition turned true
QIcon failingIcon();      // a tab whose automatic refreshes fail: it shows an older page
QIcon signedOutIcon();    // a tab whose site asks for a password again
QIcon staleIcon();        // a tab whose watched text has not changed for too long
QPixmap padlockPixmap();  // a secure connection
QPixmap certificateWarningPixmap();  // a certificate accepted past an error
QPixmap tabDragPixmap();  // a tab being dragged to the Setup dialog
QIcon appIcon();

}  // namespace pelquin
