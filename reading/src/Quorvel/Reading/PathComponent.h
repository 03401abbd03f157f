#pragma once

// Internal to the libraries; not installed.

#include <QString>

namespace Quorvel::Reading {

// `name` (an organization or application name, which may come from a data file) made fit to
// be one folder name below a folder it must not leave: "/" and "\" become "_", and a name
// of dots only ("..") becomes as many "_". A changed name is logged once as a WARNING.
QString PathComponent(const QString& name);

// `base` with the application's organization and application names below it, each made one
// folder name as above, as Qt's AppDataLocation joins them (an empty name is left out).
QString ApplicationFolder(const QString& base);

}  // namespace Quorvel::Reading
