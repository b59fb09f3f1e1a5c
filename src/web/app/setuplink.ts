// Setups carried in the page's address: "#setup=" and the setup text, URI-encoded.

const PREFIX = "#setup=";

// The setup text a hash carries, or null when it carries none (or cannot be decoded, which
// is then the text as it stands, so the parser names the fault).
export function setupFromHash(hash: string): string | null {
  if (!hash.startsWith(PREFIX)) return null;
  const encoded = hash.slice(PREFIX.length);
  try {
    return decodeURIComponent(encoded);
  } catch {
    return encoded;
  }
}

export function hashForSetup(setupText: string): string {
  return PREFIX + encodeURIComponent(setupText);
}

// The page's address with the setup in its hash, replacing any hash it had.
export function linkForSetup(href: string, setupText: string): string {
  const at = href.indexOf("#");
  return (at < 0 ? href : href.slice(0, at)) + hashForSetup(setupText);
}
