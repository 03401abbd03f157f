#pragma once

// Internal to the libraries; not installed.

#include <QString>

namespace Quorvel::Reading {

// `name` (an organization or application name, which may come from a data file) made fit to
// be one folder name below a folder it must not leave: "/" and "\" become "_", and a name
// of dots only ("..") becomes as many "_". A changed name is logged once as a WARNING.
QString PathComponent(const QString& name);

}  // namespace Quorvel::Reading
