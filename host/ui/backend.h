// What shows dialogs to the user and takes the user's actions: the console's script backend
// by default; the Qt host installs its own. Besides the modal calls, the core tells the backend
// about every window's life (created, changed, shown or hidden, destroyed), so that a backend
// with real widgets can keep them in step with the core; the script backend ignores it.
#pragma once

#include <memory>
#include <string>

#include "ui/window.h"

namespace vx::ui {

class Backend {
public:
    virtual ~Backend() = default;
    // Shows the dialog and feeds it actions until it has ended (dialog.ended).
    virtual void runModal(Window& dialog) = 0;
    virtual int messageBox(const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    // False when the user cancels; `path` is a native path of an existing folder.
    virtual bool browseFolder(const std::wstring& title, UINT flags, std::wstring& path) = 0;
    // The dialog hides for an editor command, and shows again.
    virtual void editorCommandBegins(Window& dialog) = 0;
    virtual void editorCommandEnds(Window& dialog, bool completed) = 0;
    // Prints an error message of the framework (a template that is not found ...).
    virtual void reportError(const std::wstring& message) = 0;

    // The window exists (its children may follow); nothing is shown yet.
    virtual void windowCreated(Window&) {}
    // Its state is about to change or just changed (text, check, items, rows, cells, style,
    // place): a backend reads the node again when it next updates, never during the change.
    virtual void windowChanged(Window&) {}
    virtual void windowShown(Window&, bool /*visible*/) {}
    // Called before the node and its children go; the pointer is dead afterwards.
    virtual void windowDestroyed(Window&) {}
};

Backend& backend();
// Replaces the backend (the Qt host, tests); null restores the script backend.
void setBackend(std::unique_ptr<Backend> b);
std::unique_ptr<Backend> makeScriptBackend();

}  // namespace vx::ui
