// SPDX-License-Identifier: MIT
// The game window as a screen reader meets it; see accessibility.h.
#include "accessibility.h"
#include "form1.h"

namespace numora {

void Form1::makeaccessible()
{
    accessibility::install();
    // The caption under each board names it.
    Label2->setBuddy(Picture2);
    Label1->setBuddy(Picture1);
    accessibility::markboard(Picture2);
    accessibility::markboard(Picture1);
    for (QLabel *display : {Label8, Label10, Label6})
        accessibility::markdisplay(display);
    for (int digit = 0; digit <= 9; ++digit)
        accessibility::markbutton(
            digitbuttons_[digit], [this, digit] { return entry.inuse(digit); }, QStringLiteral("in use"));
    for (int count = 0; count <= 4; ++count) {
        accessibility::markbutton(
            plusbuttons_[count], [this, count] { return pluschosen(count); }, QStringLiteral("chosen"));
        accessibility::markbutton(
            minusbuttons_[count], [this, count] { return minuschosen(count); }, QStringLiteral("chosen"));
    }
}

void Form1::displayschanged()
{
    for (QLabel *display : {Label8, Label10, Label6})
        accessibility::textchanged(display);
}

}  // namespace numora
