#include "Exceptions.h"

namespace plat {

Exception::Exception(const std::string& message)
    : std::runtime_error(message), m_message(message) {}

EConvertError EConvertError::NotAnInteger(const std::string& text)
{
    return EConvertError("'" + text + "' n'est pas une valeur entière correcte");
}

EConvertError EConvertError::NotAFloat(const std::string& text)
{
    return EConvertError("'" + text + "' n'est pas une valeur en virgule flottante correcte");
}

EConvertError EConvertError::CannotAssign(const std::string& source, const std::string& destination)
{
    return EConvertError("Impossible d'affecter " + source + " à " + destination);
}

EListError EListError::IndexOutOfBounds(long long index)
{
    return EListError("Indice de liste hors limites (" + std::to_string(index) + ")");
}

EReadError::EReadError() : Exception("Erreur de lecture du flux") {}
EWriteError::EWriteError() : Exception("Erreur d'écriture dans le flux") {}

EFOpenError::EFOpenError(const std::string& path, const std::string& reason)
    : Exception("Impossible d'ouvrir le fichier \"" + path + "\". " + reason) {}

EFCreateError::EFCreateError(const std::string& path, const std::string& reason)
    : Exception("Impossible de créer le fichier \"" + path + "\". " + reason) {}

EInvalidGraphic EInvalidGraphic::BadBitmap() { return EInvalidGraphic("Image bitmap incorrecte"); }

EInvalidGraphic EInvalidGraphic::UnknownExtension(const std::string& extensionWithoutDot)
{
    return EInvalidGraphic("Extension de fichier image inconnue (." + extensionWithoutDot + ")");
}

EPrinter EPrinter::NoDefaultPrinter() { return EPrinter("Aucune imprimante par défaut sélectionnée"); }
EPrinter EPrinter::NotSupported() { return EPrinter("Opération non supportée par l'imprimante sélectionnée"); }
EPrinter EPrinter::Printing() { return EPrinter("Impression en cours"); }
EPrinter EPrinter::NotPrinting() { return EPrinter("L'imprimante n'imprime pas pour l'instant"); }

EOutOfMemory::EOutOfMemory() : Exception("Mémoire insuffisante") {}

std::string MessageForDisplay(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

} // namespace plat
