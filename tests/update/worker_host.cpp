// The update worker alone, as the program runs it when started with the worker option.
#include "update/update_worker.h"

int main(int argc, char* argv[]) {
    return qz::isUpdateWorkerCall(argc, argv) ? qz::runUpdateWorker(argc, argv) : 2;
}
