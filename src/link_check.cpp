// Linked with one level's whole archive to prove it needs nothing above it.
int main() { return 0; }
