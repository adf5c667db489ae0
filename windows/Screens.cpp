#include "windows/Screens.h"

CBitForm *scoreform = nullptr;
CBitForm *setform = nullptr;
CBitForm *welcomform = nullptr;
CBitForm *newgamedlg = nullptr;
CBitForm *inputnamedlg = nullptr;
CBitForm *netroom = nullptr;
CBitForm *modeform = nullptr;
int8_t setformfrom = 0;
