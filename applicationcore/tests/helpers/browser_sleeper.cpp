// Stands in for a running browser: does nothing until it is killed.
#include <unistd.h>

int main() {
    for (;;) {
        pause();
    }
}
