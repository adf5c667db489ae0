#include "tests/kit/TableSnapshot.h"

#include "table/CMj.h"
#include "windows/CDxChatWnd.h"

#include <sstream>

std::string TableSnapshot(const CMj &m)
{
    std::ostringstream s;
    for (const CMjPlayer &p : m.player) {
        s << p.cardnum << ',' << int(p.drawflag) << ',' << p.outnum << ',' << p.getnum << ',' << p.flowernum << ','
          << int(p.hasplayed) << int(p.ishu) << int(p.ting) << int(p.seated) << int(p.started) << ',' << p.score << ','
          << p.scorechange << ',' << p.totalfan << ',' << p.GetName() << ':';
        for (const MjTile &t : p.Mj)
            s << int(t.value) << int(t.suit);
        s << '|';
    }
    s << int(m.gamestatus) << ',' << m.mjindex << ',' << m.curplayer << ',' << m.banker << ',' << m.changchengstart
      << ',' << m.dice1 << m.dice2 << int(m.draw.diceshown) << int(m.draw.animkind) << ',' << m.roundwind << ','
      << m.ownseat << ',' << int(m.discardflying) << m.flyingseat << ','
      << int(m.claimbuttonsup) << ',' << m.chatwnd[0]->pages.Count() << ':';
    for (uint8_t stack : m.wallstack)
        s << int(stack);
    return s.str();
}
