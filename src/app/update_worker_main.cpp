// The update worker's entry: the program starts it for the version check and the download.
#include "update/update_worker.h"

int main(int argc, char* argv[]) {
    return qz::isUpdateWorkerCall(argc, argv) ? qz::runUpdateWorker(argc, argv) : 2;
}
