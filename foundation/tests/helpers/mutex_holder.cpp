// Takes the named app mutex, says "locked", "busy" or "unavailable" on stdout, then holds on
// until its standard input closes (or it is killed).

#include <Quorvel/Util/AppMutexLocker.h>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: mutex_holder <name>\n";
        return 2;
    }
    Quorvel::Util::AppMutexLocker locker(argv[1]);
    const bool locked = locker.TryLockAppMutex();
    std::cout << (locked ? "locked" : locker.IsUnavailable() ? "unavailable" : "busy") << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
