// The desktop host's main window: the drawing view in the middle, the command line docked at
// the bottom, palettes docked where the module puts them, the menus (File, Tools, Help) and a
// status bar with the cursor's coordinates. Menus act through command lines at the command
// prompt, so what they do is in the transcript like everything else.
#pragma once

#include <QMainWindow>

class QLabel;
class QMenu;

namespace vx::qt {

class CommandDock;
class DrawingView;
class GuiInput;
class LayoutTabs;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(GuiInput& input);
    ~MainWindow() override;

    CommandDock* commandDock() const { return m_command; }
    DrawingView* view() const { return m_view; }
    LayoutTabs* layoutTabs() const { return m_tabs; }
    QLabel* coordinates() const { return m_coordinates; }
    // Title, recent files and the modules menu as the drawing and the modules are now.
    void refresh();
    // Asks about unsaved changes, then ends the session (QUIT); false when the user stays.
    bool quit();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildViewMenu();
    bool runCommand(std::vector<std::wstring> lines);
    void fillRecentMenu();
    void fillUnloadMenu();
    void rememberRecent(const QString& path);

    GuiInput& m_input;
    CommandDock* m_command = nullptr;
    DrawingView* m_view = nullptr;
    LayoutTabs* m_tabs = nullptr;
    QLabel* m_coordinates = nullptr;
    QMenu* m_recent = nullptr;
    QMenu* m_unload = nullptr;
    QStringList m_recentFiles;
    bool m_quitting = false;
};

}  // namespace vx::qt
