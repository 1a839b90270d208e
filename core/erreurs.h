#pragma once
// Run-time errors. A procedure that "catches run-time errors in a local handler" catches
// ErreurExecution (or any std::exception), records it as the pending error and reports it.

#include <QString>
#include <stdexcept>

class ErreurExecution : public std::runtime_error {
public:
    ErreurExecution(int numero, const QString& description);
    int numero() const { return m_numero; }
    const QString& description() const { return m_description; }

private:
    int m_numero;
    QString m_description;
};

// The pending run-time error that error messages append, then clear.
struct ErreurEnCours {
    int numero = 0;
    QString description;
};

ErreurEnCours& Err();
// Records a caught exception as the pending error.
void Memoriser_erreur(const std::exception& e);
void Effacer_erreur();
