#pragma once
// The competitions table as the opening of a base and the imports use it.

#include <QString>

// Competitions whose start date has come are marked held and hidden.
void Cloturer_compet_passees();
// A new held, visible competition without pool for an import; its key, or "" on failure.
QString Creer_compet_import();
