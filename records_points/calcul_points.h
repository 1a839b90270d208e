#pragma once
// The points component as the points windows use it: created by class name with the national
// table of the application folder loaded.

#include <QString>
#include <memory>

class Composant;

// The national points table the user installs in the application folder.
QString Chemin_table_points();
// The component, or nullptr after "Impossible de charger la dll ..." when it cannot be created.
// A table file that is there but malformed is reported; the component then values nothing on
// the national table ("Non Dispo").
std::unique_ptr<Composant> Creer_calculateur_points();
