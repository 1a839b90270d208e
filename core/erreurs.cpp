#include "core/erreurs.h"

ErreurExecution::ErreurExecution(int numero, const QString& description)
    : std::runtime_error(description.toStdString()), m_numero(numero), m_description(description)
{
}

ErreurEnCours& Err()
{
    static ErreurEnCours err;
    return err;
}

void Memoriser_erreur(const std::exception& e)
{
    if (auto* ee = dynamic_cast<const ErreurExecution*>(&e)) {
        Err().numero = ee->numero();
        Err().description = ee->description();
    } else {
        // Errors from the standard library have no number of their own.
        Err().numero = -1;
        Err().description = QString::fromLocal8Bit(e.what());
    }
}

void Effacer_erreur()
{
    Err() = ErreurEnCours{};
}
