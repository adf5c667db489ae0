#pragma once

struct ProxyDialog;

// The main window as the game object and its screens see it. The program's one implementation is the
// main window, which hands itself to the game object; tests put a recorder in its place.
class Shell {
public:
    virtual ~Shell() = default;
    // Shows the proxy settings dialog with the controls as given and waits for it: true for OK, with
    // the controls as the user left them.
    virtual bool EditProxy(ProxyDialog &dialog) = 0;
};
