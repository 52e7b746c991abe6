#pragma once
// The application's error handling: commands catch nothing themselves. An error that escapes a command
// ends it where it was raised and is shown once, in the error box, with its message as the user sees it.

#include <exception>
#include <string>
#include <utility>

namespace plat {

// The text shown for an error: its message with the display period rule applied.
std::string DisplayTextOf(std::exception_ptr error);

// Shows an error through the installed message presenter.
void ShowException(std::exception_ptr error) noexcept;

// Runs one command; an error escaping it is shown and goes no further. Answers whether it completed.
template <class Command>
bool RunCommand(Command&& command)
{
    try {
        std::forward<Command>(command)();
        return true;
    } catch (...) {
        ShowException(std::current_exception());
        return false;
    }
}

} // namespace plat
