#pragma once

#include <Quorvel/ContractsExport.h>

#include <QString>

/// Supplied by a product that edits the united style sheet after its placeholders are
/// replaced (for example to scale sizes).
/// Rewrites the united style sheet before it is applied.
class QUORVEL_CONTRACTS_EXPORT IQssPreprocessor {
public:
    virtual ~IQssPreprocessor() = default;
    /// Changes `styleSheet` in place.
    virtual void Preprocess(QString& styleSheet) = 0;
};
