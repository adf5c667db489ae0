#pragma once
#include "platform/Profile.h"
#include "table/UserSet.h"

#include <string>

// The lobby's filters as "SET.ini" [UserSet] keeps them. Reading applies the rules of each key: an
// IP rule other than 0 and 3 is 4, a rate is read only when its filter is on, an escape rate outside
// 0-100 is 0.
UserSet ReadUserSet(const char *ini);
// Every key, changed or not, in the order Invite, IP, ESCAPE, ESCAPERATE, LIMITSCORE1,
// LIMITSCORE1RATE, LIMITSCORE2, LIMITSCORE2RATE, RoomID, P2PTalk.
void WriteUserSet(Profile::Edit &ini, const UserSet &filters, int roomid);

// The filter dialog's controls as values: filled from the filters, and taken back on OK.
struct UserSetDialog {
    enum IpItem { IP_FOUR = 0, IP_THREE = 1 }; // the combo's items "四" and "三"

    bool invite = true;   // CheckBox1
    bool iprule = false;  // CheckBox2; its combo is usable only when checked
    int ipitem = IP_FOUR; // ComboBox1
    bool escape = false;  // CheckBox3 with Edit1
    std::string escapetext;
    bool limit1 = false;  // CheckBox4 with Edit2: the score difference
    std::string limit1text;
    bool limit2 = false;  // CheckBox5 with Edit3: the minimum score
    std::string limit2text;

    // A filter that is off shows an empty, greyed edit.
    static UserSetDialog For(const UserSet &filters);

    // What OK refuses: the message shown, titled "Warning".
    struct Refusal {
        const char *text;
    };
    // Takes the controls back in the dialog's order. A number that is not one (or an escape rate
    // outside 0-100) switches its filter off and abandons the rest: the refusal is answered, and
    // nothing should be sent; filters taken before it keep their new values. Null when all was taken.
    const char *TakeInto(UserSet &filters) const;
};
