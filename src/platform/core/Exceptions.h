#pragma once
// The error kinds of the class library our engine was designed against, with their French messages.
// Every error is an exception carrying the text the user sees; the application's handler shows it.

#include <stdexcept>
#include <string>

namespace plat {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message);
    const std::string& Message() const { return m_message; }

private:
    std::string m_message;
};

// "'%s' n'est pas une valeur entière correcte", "Impossible d'affecter %s à %s", ...
class EConvertError : public Exception {
public:
    using Exception::Exception;
    static EConvertError NotAnInteger(const std::string& text);
    static EConvertError NotAFloat(const std::string& text);
    // Source is the class name of the source, or "nil".
    static EConvertError CannotAssign(const std::string& source, const std::string& destination);
};

// "Indice de liste hors limites (%d)"
class EListError : public Exception {
public:
    using Exception::Exception;
    static EListError IndexOutOfBounds(long long index);
};

// "Erreur de lecture du flux"
class EReadError : public Exception {
public:
    EReadError();
    using Exception::Exception;
};

// "Erreur d'écriture dans le flux"
class EWriteError : public Exception {
public:
    EWriteError();
    using Exception::Exception;
};

// "Impossible d'ouvrir le fichier "%s". %s"
class EFOpenError : public Exception {
public:
    EFOpenError(const std::string& path, const std::string& reason);
};

// "Impossible de créer le fichier "%s". %s"
class EFCreateError : public Exception {
public:
    EFCreateError(const std::string& path, const std::string& reason);
};

// "Image bitmap incorrecte", "Extension de fichier image inconnue (.%s)", JPEG errors ...
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
    static EInvalidGraphic BadBitmap();
    static EInvalidGraphic UnknownExtension(const std::string& extensionWithoutDot);
};

// Errors raised by the printer device.
class EPrinter : public Exception {
public:
    using Exception::Exception;
    static EPrinter NoDefaultPrinter();   // "Aucune imprimante par défaut sélectionnée"
    static EPrinter NotSupported();       // "Opération non supportée par l'imprimante sélectionnée"
    static EPrinter Printing();           // "Impression en cours"
    static EPrinter NotPrinting();        // "L'imprimante n'imprime pas pour l'instant"
};

// "Mémoire insuffisante": an allocation asked for more than the platform allows.
class EOutOfMemory : public Exception {
public:
    EOutOfMemory();
};

// The user-facing text of an error as the application's handler shows it: a period is appended when the
// last character's code is above that of the period (letters and digits get one, ")" and "!" do not).
std::string MessageForDisplay(const std::string& message);

} // namespace plat
