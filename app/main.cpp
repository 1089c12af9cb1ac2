#include "app/ui/Startup.h"

int main(int argc, char** argv) {
    return izleme::runApplication(argc, argv);
}
