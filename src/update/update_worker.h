#pragma once

namespace qz {

// Whether this start of the worker program carries a request (see update/worker_protocol.h):
// the worker option is the first argument.
bool isUpdateWorkerCall(int argc, char* argv[]);

// Runs the worker's one request and returns the process's exit status: 0 when its result was
// reported, non-zero otherwise (a bad request, a refused download, the parent gone).
int runUpdateWorker(int argc, char* argv[]);

} // namespace qz
