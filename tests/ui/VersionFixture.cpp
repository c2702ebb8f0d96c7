// A program that only carries a version resource (VersionFixture.rc) and does
// nothing when started.
int main() {
    return 0;
}
