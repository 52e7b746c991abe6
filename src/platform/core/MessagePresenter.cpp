#include "MessagePresenter.h"

#include <iostream>

namespace plat {

namespace {

class StandardErrorPresenter : public MessagePresenter {
public:
    void ShowMessage(const std::string& text) override { std::cerr << text << '\n'; }
    void ShowError(const std::string& text) override { std::cerr << "Vantric: " << text << '\n'; }
};

std::unique_ptr<MessagePresenter>& Installed()
{
    static std::unique_ptr<MessagePresenter> presenter = std::make_unique<StandardErrorPresenter>();
    return presenter;
}

} // namespace

MessagePresenter& CurrentMessagePresenter() { return *Installed(); }

std::unique_ptr<MessagePresenter> InstallMessagePresenter(std::unique_ptr<MessagePresenter> presenter)
{
    if (!presenter)
        presenter = std::make_unique<StandardErrorPresenter>();
    std::swap(presenter, Installed());
    return presenter;
}

} // namespace plat
