#include "CommandErrors.h"

#include "platform/core/Exceptions.h"
#include "platform/core/MessagePresenter.h"

#include <cstdio>
#include <new>

namespace plat {

namespace {

std::string MessageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return EOutOfMemory().Message();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Exception inconnue";
    }
}

} // namespace

std::string DisplayTextOf(std::exception_ptr error)
{
    return MessageForDisplay(MessageOf(error));
}

void ShowException(std::exception_ptr error) noexcept
{
    if (!error)
        return;
    try {
        CurrentMessagePresenter().ShowError(DisplayTextOf(error));
    } catch (...) {
        // Showing the error failed too (no memory for the box): the first error is not lost silently.
        std::fputs("Vantric: une erreur n'a pas pu être affichée\n", stderr);
    }
}

} // namespace plat
