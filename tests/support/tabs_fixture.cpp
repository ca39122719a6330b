#include "support/tabs_fixture.h"

namespace pelquin::test {

TabsFixture::TabsFixture()
{
    window.resize(1024, 768);
    strip.showTabs(tabs);
}

}  // namespace pelquin::test
