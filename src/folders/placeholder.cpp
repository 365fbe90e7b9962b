// PLACEHOLDER so that the folder library has a source until it is built.
namespace headly {}
