#pragma once

#include <Quorvel/HandoverExport.h>

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace Quorvel::App {

/// Makes one process the primary instance of a product and hands every later launch's command
/// line to it, so that a second launch brings the running window forward instead of opening a
/// second one. The product constructs it once, after its application object and on the GUI
/// thread, with a key that names the product, and keeps it for as long as it runs; the primary
/// is whoever holds the key's instance lock, never whoever answers on a socket. Only this user's
/// processes can reach the primary. Products that do not construct one never load this library.
class QUORVEL_HANDOVER_EXPORT InstanceHandover : public QObject {
    Q_OBJECT
public:
    /// Takes the instance lock of `key` (the product's name) and listens, or finds that another
    /// process is primary. A place for the lock or socket that cannot be used is reported in one
    /// ERROR.
    explicit InstanceHandover(const QString& key, QObject* parent = nullptr);
    ~InstanceHandover() override;

    /// True when this process holds the instance lock; it then listens for later launches where
    /// it can. Also true when no lock can be made at all, so that the product starts as it
    /// would without the service.
    bool IsPrimary() const;

    /// For a process that is not primary: gives its command line (without the program name)
    /// and working directory to the primary and waits at most 2 s for the primary to take them.
    /// True: the product may end with code 0. False, said in one WARNING: the product goes on by
    /// itself, and this object becomes primary as soon as the old one lets the lock go, emitting
    /// BecamePrimary. Does nothing and returns false on the primary.
    bool HandOver(const QStringList& arguments, const QString& workingDirectory);

signals:
    /// On the primary, once for each launch that handed over, in the order they sent. Relative
    /// paths in the arguments are relative to `workingDirectory`.
    void Received(const QStringList& arguments, const QString& workingDirectory);
    /// After a failed hand-over, when this process has taken over the lock.
    void BecamePrimary();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
