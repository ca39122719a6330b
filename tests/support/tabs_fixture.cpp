#include "support/tabs_fixture.h"

namespace pelquin::test {

TabsFixture::TabsFixture()
{
    window.resize(1024, 768);
    strip.showTabs(tabs);
    menu.addButtonsTo(buttons);
    status.followSelectedTab(tabs, strip);
}

}  // namespace pelquin::test
