// SPDX-License-Identifier: MIT
// The game window as a screen reader meets it; see accessibility.h.
#include "accessibility.h"
#include "form1.h"

namespace numora
{

void Form1::makeaccessible(const QColor &inuse, const QColor &chosen)
{
    accessibility::install();
    // The caption under each board names it.
    Label2->setBuddy(Picture2);
    Label1->setBuddy(Picture1);
    accessibility::markboard(Picture2);
    accessibility::markboard(Picture1);
    for (QLabel *display : {Label8, Label10, Label6})
        accessibility::markdisplay(display);
    for (int number = 1; number <= 10; ++number)
        accessibility::markbutton(digitbuttons_[number], inuse, QStringLiteral("in use"));
    for (int count = 0; count <= 4; ++count) {
        accessibility::markbutton(plusbuttons_[count], chosen, QStringLiteral("chosen"));
        accessibility::markbutton(minusbuttons_[count], chosen, QStringLiteral("chosen"));
    }
}

void Form1::displayschanged()
{
    for (QLabel *display : {Label8, Label10, Label6})
        accessibility::textchanged(display);
}

} // namespace numora
