#pragma once
// How the engine shows a message to the user without owning a window. The program installs a presenter
// over Qt message boxes; tests install one that records what would have been shown.

#include <memory>
#include <string>

namespace plat {

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // A plain message box with an OK button (ShowMessage).
    virtual void ShowMessage(const std::string& text) = 0;
    // The application's error box: titled "Vantric", error icon, OK; text already ends as displayed.
    virtual void ShowError(const std::string& text) = 0;
};

// The installed presenter; until one is installed, messages go to standard error.
MessagePresenter& CurrentMessagePresenter();
// Installs presenter (null restores the standard-error one) and answers the previous one.
std::unique_ptr<MessagePresenter> InstallMessagePresenter(std::unique_ptr<MessagePresenter> presenter);

} // namespace plat
