#pragma once

// Marks every descriptor of the process above standard error close-on-exec. GStreamer opens its buses' socket
// pairs and the file it plays without the mark, and a child started later (a browser, a file manager) would
// hold them for as long as it runs. The program starts no child that should inherit a descriptor of its own.
void closeEveryDescriptorOnExec();
