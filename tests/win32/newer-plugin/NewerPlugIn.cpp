// A library that only carries a version record newer than the product's,
// standing in for a newer plug-in already installed in a viewer.
int tarvekNewerPlugIn() { return 0; }
